#include "feedback/emailcheck.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>
#include <stdexcept>

namespace
{
const char16_t emailPattern[] = uR"(^[a-zA-Z0-9_.+-]+@[a-zA-Z0-9-]+\.[a-zA-Z0-9-.]*[a-zA-Z0-9]+$)";

using Code = std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)>;
using MatchData = std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)>;

// Compiled once; a compiled pattern may be matched on several threads at once.
const pcre2_code *emailExpression()
{
    static const Code code = [] {
        int error = 0;
        PCRE2_SIZE errorOffset = 0;
        Code compiled(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(emailPattern),
                                    PCRE2_ZERO_TERMINATED, 0, &error, &errorOffset, nullptr),
                      &pcre2_code_free);
        if (!compiled)
            throw std::logic_error("The e-mail pattern does not compile");
        return compiled;
    }();
    return code.get();
}
} // namespace

bool IsValidEmail(const QString &Text)
{
    const pcre2_code *expression = emailExpression();
    const MatchData match(pcre2_match_data_create_from_pattern(expression, nullptr),
                          &pcre2_match_data_free);
    if (!match)
        throw std::bad_alloc();
    // An empty match does not count. An error (such as the match limit that a very long text
    // can reach) is no match either.
    return pcre2_match(expression, reinterpret_cast<PCRE2_SPTR>(Text.utf16()),
                       PCRE2_SIZE(Text.size()), 0, PCRE2_NOTEMPTY, match.get(), nullptr) >= 0;
}
