#include "core/Centring.h"

namespace zelpo {

float centredPosition(float screenExtent, float windowExtent)
{
    return static_cast<float>(static_cast<double>(screenExtent) / 2 -
                              static_cast<double>(windowExtent) / 2);
}

} // namespace zelpo
