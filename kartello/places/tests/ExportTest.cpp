#include "PlaceFixture.h"
