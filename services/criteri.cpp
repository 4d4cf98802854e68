#include "criteri.h"

bool mutoPerCriterio()
{
    return false;
}
