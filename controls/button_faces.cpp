#include "controls/button_faces.h"

namespace button_faces {

Face Choose(const Look& look) {
  if (look.disabled) return Face::Disabled;
  const bool alternate = look.hasAlternate && look.alternateShown;
  if (look.pressed) return alternate ? Face::AlternatePressed : Face::StandardPressed;
  if (look.hovered) return alternate ? Face::AlternateHot : Face::StandardHot;
  return alternate ? Face::Alternate : Face::Standard;
}

}  // namespace button_faces
