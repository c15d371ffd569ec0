#include "orvanta/tools/NormalFormUnit.h"

TNormalForm* NormalForm = nullptr;
