# The MinGW-w64 cross build with the C and C++ run-time libraries as DLLs
# (libgcc_s_seh-1, libstdc++-6, libwinpthread-1): Qt for Windows is built
# this way (scripts/windows-deps), and so is every program that loads Qt's
# DLLs, so that one C++ runtime serves them all.
set(KESTREL_MINGW_SHARED_RUNTIME ON)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
