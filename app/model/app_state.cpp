#include "app/model/app_state.h"

#include "app/encode/pattern_tables.h"

namespace quillet {

AppState::AppState() : tables(new PatternTables) {}
AppState::~AppState() { delete tables; }

}  // namespace quillet
