#include "config/parameter_buttons.h"

#include "config/config_command.h"

namespace config {

std::optional<Transmission> ParameterButtonPress(std::span<const ParameterButton> buttons, int id) {
  for (const ParameterButton& button : buttons)
    if (button.id == id) return Transmission{{ParameterFrame(button.code, button.value)}};
  return std::nullopt;
}

}  // namespace config
