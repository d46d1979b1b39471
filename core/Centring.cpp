#include "core/Centring.h"

float centredPosition(float screenExtent, float windowExtent)
{
    return static_cast<float>(static_cast<double>(screenExtent) / 2 -
                              static_cast<double>(windowExtent) / 2);
}
