#include "app/tools/password_alphabet.h"
