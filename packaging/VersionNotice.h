// What every program's --version says after its name and version, as GNU
// programs say it; the licence as packaging/copyright.in and COPYING state it.
#pragma once

#define QUILLET_VERSION_NOTICE                                             \
    "Copyright (C) 2026 The Quillet developers\n"                          \
    "License GPL-2.0-or-later: GNU GPL version 2 or later\n"               \
    "<https://www.gnu.org/licenses/old-licenses/gpl-2.0.html>.\n"          \
    "This is free software: you are free to change and redistribute it.\n" \
    "There is NO WARRANTY, to the extent permitted by law.\n"
