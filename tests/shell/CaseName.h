#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace nidora::shell::test {

// Names a parameterised case by its struct's `name` text, spaces and signs made underscores.
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& param) const
    {
        std::string name;
        for (const char* p = param.param.name; *p != '\0'; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    }
};

} // namespace nidora::shell::test
