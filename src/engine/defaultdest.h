// Record 0 of the destination table, the default destination: rebuilt from
// the sign table whenever the set of signs may have changed or the record is
// about to be used.
#pragma once

namespace kv {

// Text := S28; SignData := one section per configured sign, addresses 2..5,
// 7..16, then 6: a K4000 gets position (0,0), font "x", a blank and its size;
// text signs a blank; a K1000 four zero bytes. Other fields are kept.
void InitDefaultDestination();

}  // namespace kv
