// Names parameterized tests after the Label field of their case.
#pragma once

#include <gtest/gtest.h>

#include <string>

struct ParamLabel {
    template <class TCase> std::string operator()(const testing::TestParamInfo<TCase>& info) const {
        return info.param.Label;
    }
};
