# Warnings, Qt defines and sanitizer flags live on one INTERFACE target that every
# target of ours links, so no CMakeLists repeats them.
add_library(morvena_options INTERFACE)
target_compile_options(morvena_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor
    -Wcast-align -Woverloaded-virtual)
if(MORVENA_WERROR)
    target_compile_options(morvena_options INTERFACE -Werror)
endif()
target_compile_definitions(morvena_options INTERFACE
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(MORVENA_SANITIZE)
    target_compile_options(morvena_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(morvena_options INTERFACE -fsanitize=address,undefined)
    # The program ends by taking everything down, where the sanitizers can see it.
    target_compile_definitions(morvena_options INTERFACE MORVENA_FULL_TEARDOWN)
endif()

# Where the build puts the generated audio fixtures and helper programs.
set(MORVENA_FIXTURE_DIR "${CMAKE_BINARY_DIR}/fixtures")

# One version for the whole program: the User-Agent, --version, the settings group, About
# and the package all read it from this generated header.
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
target_include_directories(morvena_options INTERFACE ${CMAKE_BINARY_DIR}/generated)
