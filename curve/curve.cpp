#include "curve.h"

namespace curve {

std::string DisplayText(std::string_view name, int value)
{
    std::string text(name);
    text += '=';
    text += std::to_string(value);
    return text;
}

}  // namespace curve
