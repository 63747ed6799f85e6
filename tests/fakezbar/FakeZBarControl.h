/* Control functions of the test build's fake ZBar. A test reaches them with dlopen/dlsym on
 * the same file that the loader loads, so both share one copy of the fake's state. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A symbol the fake reports after a scan. */
struct FakeZBarSymbol {
    unsigned type; /* ZBar symbol type code, add-on bits included */
    const char* data;
    unsigned data_length; /* bytes of data, which may hold zeros */
    int quality;
    int count;
    int orientation;
    unsigned modifiers;
};

/* Clears the call log, the chosen results and the symbols. */
void fakezbar_reset(void);

/* Chooses what the named function returns from now on. For a create function (e.g.
 * "zbar_image_scanner_create") 0 makes it return null. Defaults: 0, except zbar_scan_image
 * (the number of symbols added) and zbar_scan_y (the y it is given). */
void fakezbar_set_result(const char* function, long long value);

/* The setting zbar_parse_config writes when its result is 0. */
void fakezbar_set_parse_output(unsigned symbology, unsigned config, int value);

/* Appends a symbol to the list zbar_image_first_symbol / zbar_symbol_next walk (the fake
 * copies the data). The scan count is chosen separately, so a list can end before it. */
void fakezbar_add_symbol(const struct FakeZBarSymbol* symbol);

/* Appends an outline point to the last symbol added. */
void fakezbar_add_symbol_point(int x, int y);

/* The call log: every call of a ZBar function, oldest first. Arguments are recorded as
 * unsigned 64-bit numbers (pointers by address, signed values sign-extended); a text
 * argument is recorded as its text (null when none or when the pointer was null). */
size_t fakezbar_call_count(void);
const char* fakezbar_call_name(size_t call);
size_t fakezbar_call_arg_count(size_t call);
unsigned long long fakezbar_call_arg(size_t call, size_t arg);
const char* fakezbar_call_text(size_t call);

/* ZBar objects created and not yet destroyed. */
int fakezbar_live_objects(void);

#ifdef __cplusplus
}
#endif
