#include "app/model/bar_pattern.h"

namespace quillet {

int patternModules(std::string_view pattern) {
    int m = 0;
    for (char c : pattern) m += moduleCount(c);
    return m;
}

}  // namespace quillet
