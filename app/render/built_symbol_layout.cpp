#include "app/render/built_symbol_layout.h"

#include "app/model/built_symbol.h"
#include "app/model/settings.h"
#include "app/render/build_copy.h"

namespace quillet {

LinearLayout builtSymbolLayout(const SymbolSettings& s, const BuiltSymbol& symbol) {
    LinearLayoutInput in;
    in.symbology = s.symbology;
    in.pattern = symbol.barPattern;
    in.text = symbol.text;
    in.X = narrowWidthUnits(s.narrowWidth);
    in.H = barHeightUnits(s.barHeight);
    in.hasComment = !s.comment.empty();
    return layoutLinear(s, in);
}

}  // namespace quillet
