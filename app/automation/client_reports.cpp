#include "app/automation/client_reports.h"

#include <algorithm>
#include <cctype>

namespace quillet {

std::optional<ReportRequest> parseReportRequest(const std::string& line) {
    std::string upper = line;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    if (upper == "#REPORT" || upper == "#REPORT=TEXT") return ReportRequest{ReportFormat::Text};
    if (upper == "#REPORT=JSON") return ReportRequest{ReportFormat::Json};
    if (upper == "#REPORT=OFF") return ReportRequest{};
    return std::nullopt;
}

}  // namespace quillet
