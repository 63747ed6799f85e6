// VEL_API marks the classes, functions and variables the project's libraries export; their
// other symbols are hidden.
#pragma once

#define VEL_API __attribute__((visibility("default")))
