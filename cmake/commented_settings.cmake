# The settings file the setup gives a new user: the sample with every value commented out,
# so that the program's defaults hold until a caregiver takes a semicolon away.
# cmake -DIN=<ORBITA.INI.exemplo> -DOUT=<ORBITA.INI> -P commented_settings.cmake
file(READ "${IN}" text)
string(REGEX REPLACE "\n([A-Za-z][A-Za-z0-9]*=)" "\n;\\1" text "${text}")
file(WRITE "${OUT}" "${text}")
