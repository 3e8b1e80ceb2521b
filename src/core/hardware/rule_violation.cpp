#include "core/hardware/rule_violation.h"

#include <cstdio>

namespace picprog {

std::string violations_text(const RuleViolations& violations) {
    std::string text;
    for (const RuleViolation& v : violations.listed) {
        char when[40];
        std::snprintf(when, sizeof when, "At %.6f s: ", static_cast<double>(v.time_us) / 1e6);
        text += when;
        text += v.text;
        text += "\r\n";
    }
    const int64_t unlisted = violations.total - static_cast<int64_t>(violations.listed.size());
    if (unlisted > 0) {
        text += "... and " + std::to_string(unlisted) + " more.\r\n";
    }
    return text;
}

}  // namespace picprog
