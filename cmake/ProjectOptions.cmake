# Shared warnings, defines and sanitizer flags for every target of ours.
add_library(pellandra_options INTERFACE)
target_compile_options(pellandra_options INTERFACE -Wall -Wextra
    $<$<BOOL:${PELLANDRA_WERROR}>:-Werror> -Winvalid-pch -Wshadow -Wold-style-cast -Wnon-virtual-dtor -pedantic-errors
    # GCC 12 reports false overlaps inside std::string at -O3 (GCC bug 105329/105651).
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
    # Classes in anonymous namespaces, which GCC questions once source files are compiled a few at a time.
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<BOOL:${CMAKE_UNITY_BUILD}>>:-Wno-subobject-linkage>)
target_compile_definitions(pellandra_options INTERFACE
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    QT_NO_CAST_FROM_ASCII
    PELLANDRA_VERSION="${PROJECT_VERSION}")

if(PELLANDRA_SANITIZE)
    target_compile_options(pellandra_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(pellandra_options INTERFACE -fsanitize=address,undefined)
endif()

# A library's users include its headers as "folder/Name.h", and reach only the folders of the libraries they link:
# each library exports its own folder under its name, so a header of a layer above does not compile. The folder is
# the current source folder unless given.
function(pellandra_export_headers target)
    set(source ${CMAKE_CURRENT_SOURCE_DIR})
    if(ARGC GREATER 1)
        set(source ${ARGV1})
    endif()
    get_filename_component(folder ${source} NAME)
    set(root ${CMAKE_CURRENT_BINARY_DIR}/exported)
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${folder})
        file(CREATE_LINK ${source} ${root}/${folder} SYMBOLIC)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()

# Precompiled headers: most of a Qt or GoogleTest source file's compile time goes into these headers. Each set of
# compile flags has one, built once by a target of its own and reused by every target of the set (a precompiled
# header is only valid for the flags it was built with, and for defines its users add to but do not take away:
# -Winvalid-pch says when one is not, so each is built with the fewest libraries of its set).
set(PELLANDRA_QT_PCH
    <QtCore/QObject> <QtCore/QString> <QtCore/QAbstractItemModel> <QtGui/QAction> <QtGui/QPainter>
    <QtWidgets/QApplication> <QtWidgets/QComboBox> <QtWidgets/QDialog> <QtWidgets/QLabel> <QtWidgets/QLineEdit>
    <QtWidgets/QMainWindow> <QtWidgets/QMenu> <QtWidgets/QTableView>)
set(PELLANDRA_STD_PCH <functional> <optional> <string> <vector>)

# pellandra_add_precompiled(NAME [QT] [GTEST] [OPTIONS flags...] [LIBS targets...]) makes the target NAME that
# builds the header for that set; pellandra_precompile_headers(target NAME) lets a target reuse it.
function(pellandra_add_precompiled name)
    cmake_parse_arguments(ARG "QT;GTEST" "" "OPTIONS;LIBS" ${ARGN})
    set(headers ${PELLANDRA_STD_PCH})
    if(ARG_QT)
        list(APPEND headers ${PELLANDRA_QT_PCH})
    endif()
    if(ARG_GTEST)
        list(APPEND headers <gtest/gtest.h>)
    endif()
    add_library(${name} OBJECT ${PROJECT_SOURCE_DIR}/cmake/precompiled.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} pellandra_options)
    target_compile_options(${name} PRIVATE ${ARG_OPTIONS})
    set_target_properties(${name} PROPERTIES PELLANDRA_PCH_OPTIONS "${ARG_OPTIONS}")
    target_precompile_headers(${name} PRIVATE ${headers})
endfunction()

# The target compiles with the options of the set, as the header was.
function(pellandra_precompile_headers target name)
    get_target_property(options ${name} PELLANDRA_PCH_OPTIONS)
    if(options)
        target_compile_options(${target} PRIVATE ${options})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${name})
endfunction()
