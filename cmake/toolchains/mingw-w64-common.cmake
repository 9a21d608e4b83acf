# What both MinGW-w64 toolchain files share; each sets CMAKE_SYSTEM_PROCESSOR and
# CHIMESET_MINGW_TRIPLET first. The programs run under Wine here;
# CMAKE_CROSSCOMPILING_EMULATOR lets CTest start them.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX-thread flavour: the win32 one lacks std::thread and std::mutex, which GoogleTest uses.
find_program(CMAKE_C_COMPILER NAMES ${CHIMESET_MINGW_TRIPLET}-gcc-posix ${CHIMESET_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${CHIMESET_MINGW_TRIPLET}-g++-posix ${CHIMESET_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${CHIMESET_MINGW_TRIPLET}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${CHIMESET_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No C++ runtime DLL beside the programs: libgcc, libstdc++ and winpthread go inside each one.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

find_program(CHIMESET_WINE NAMES wine)
if(CHIMESET_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CHIMESET_WINE})
endif()
