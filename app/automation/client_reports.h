#pragma once
// Reports a server client asks for: after the line "#REPORT" (or
// "#REPORT=JSON") every symbol its executes build is reported on a line
// "REPORT " + the report, ahead of the execute's "ACK" or "NAK";
// "#REPORT=OFF" stops them. Execute strings begin with '[', so these lines
// never collide with the command language.
#include <optional>
#include <string>

#include "app/render/build_report.h"

namespace quillet {

struct ReportRequest {
    std::optional<ReportFormat> format;  // nothing: reports off
};

// The request a line makes, or nothing when the line is not one.
std::optional<ReportRequest> parseReportRequest(const std::string& line);

}  // namespace quillet
