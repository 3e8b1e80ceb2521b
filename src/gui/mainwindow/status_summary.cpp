#include "gui/mainwindow/status_summary.h"

namespace picprog {
namespace {

constexpr std::string_view kSentenceEnd = ". ";
constexpr std::string_view kHeadlineEnd = ": ";

}  // namespace

std::string status_summary(std::string_view text,
                           const std::function<bool(std::string_view)>& fits) {
    std::string_view best;
    for (size_t end = text.find(kSentenceEnd); end != std::string_view::npos;
         end = text.find(kSentenceEnd, end + 1)) {
        const std::string_view sentences = text.substr(0, end + 1);
        if (!fits(sentences)) {
            break;
        }
        best = sentences;
    }
    if (!best.empty()) {
        return std::string(best);
    }
    const size_t colon = text.find(kHeadlineEnd);
    if (colon != std::string_view::npos) {
        const std::string headline = std::string(text.substr(0, colon)) + '.';
        if (fits(headline)) {
            return headline;
        }
    }
    return {};
}

}  // namespace picprog
