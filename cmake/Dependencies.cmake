# Every outside library comes from Debian's packages (scripts/setup.sh installs them).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(OpenGL REQUIRED)
find_package(GLEW REQUIRED)
find_package(glfw3 REQUIRED)
find_package(fmt REQUIRED)
find_package(RapidJSON REQUIRED)
find_package(GTest REQUIRED)
find_package(OpenAL REQUIRED)
pkg_check_modules(ENET REQUIRED IMPORTED_TARGET libenet)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
pkg_check_modules(XXHASH REQUIRED IMPORTED_TARGET libxxhash)
# Whole-buffer gzip for the saves' compressed sections.
pkg_check_modules(DEFLATE REQUIRED IMPORTED_TARGET libdeflate)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
# Only to keep the sound driver's own error lines off the terminal when no device opens.
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)

# RapidJSON ships only an include folder.
add_library(rubble_rapidjson INTERFACE)
target_include_directories(rubble_rapidjson SYSTEM INTERFACE ${RAPIDJSON_INCLUDE_DIRS})
