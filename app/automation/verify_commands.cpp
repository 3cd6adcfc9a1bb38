#include "app/automation/verify_commands.h"

#include "app/automation/command_values.h"
#include "app/model/app_state.h"
#include "app/render/print_check.h"

namespace quillet {

bool verifyCommand(AppState& app, int) {
    const auto r = CheckBeforePrinting(app);
    return r && r->accepted;
}

bool printGrowthCommand(AppState& app, const std::string& value, int) {
    const auto n = parseInteger(value);
    if (!n || *n < -10 || *n > 10) return false;
    app.verify.printGrowth = *n;
    return true;
}

bool verifyMinimumCommand(AppState& app, const std::string& value, int) {
    const int grade = value.size() == 1 ? gradeFromLetter(value[0]) : -1;
    if (grade < 0) return false;
    app.verify.minimumGrade = grade;
    return true;
}

}  // namespace quillet
