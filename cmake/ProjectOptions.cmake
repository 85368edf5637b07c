# Shared warnings, defines and sanitizer flags for every target of ours.
add_library(pellandra_options INTERFACE)
target_compile_options(pellandra_options INTERFACE -Wall -Wextra -Werror
    # GCC 12 reports false overlaps inside std::string at -O3 (GCC bug 105329/105651).
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
target_compile_definitions(pellandra_options INTERFACE
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    QT_NO_CAST_FROM_ASCII
    PELLANDRA_VERSION="${PROJECT_VERSION}")

if(PELLANDRA_SANITIZE)
    target_compile_options(pellandra_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(pellandra_options INTERFACE -fsanitize=address,undefined)
endif()
