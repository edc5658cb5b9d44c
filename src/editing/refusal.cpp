#include "editing/refusal.h"

namespace planek {

void tell_user(Interaction& ui, const refusal& said) {
    if (!said.said() || said.text.empty()) return;
    if (is_notice(said.kind))
        ui.inform(said.text);
    else
        ui.warn(said.text);
}

}  // namespace planek
