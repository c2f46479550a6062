# Build conventions shared by every deliverable, tool and test.

# g++ 12 reports interlocked reference counts reached through a base-class cast as
# "writing 4 bytes into a region of size 0" (a known false positive of its object-size
# tracking); that one check is left out.
set(PELLARY_WARNINGS -Wall -Wextra -Werror -Wno-unknown-pragmas -Wno-stringop-overflow)

# Every binary is linked statically so that it runs on a bare Windows (or Wine) without
# the mingw run-time DLLs next to it.
set(PELLARY_STATIC_LINK -static -static-libgcc -static-libstdc++)

function(pellary_common_options target)
    target_compile_options(${target} PRIVATE ${PELLARY_WARNINGS})
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
        _WIN32_WINNT=0x0601 WINVER=0x0601)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/common
        ${PELLARY_GENERATED_DIR})
    get_target_property(kind ${target} TYPE)
    if(kind STREQUAL "EXECUTABLE" OR kind STREQUAL "SHARED_LIBRARY" OR kind STREQUAL "MODULE_LIBRARY")
        target_link_options(${target} PRIVATE ${PELLARY_STATIC_LINK})
    endif()
endfunction()

# pellary_version_resource(target "File description")
function(pellary_version_resource target description)
    get_target_property(kind ${target} TYPE)
    set(PV_TARGET ${target})
    set(PV_DESCRIPTION "${description}")
    if(kind STREQUAL "EXECUTABLE")
        set(PV_FILETYPE VFT_APP)
        set(PV_FILENAME "${target}.exe")
    else()
        set(PV_FILETYPE VFT_DLL)
        set(PV_FILENAME "${target}.dll")
    endif()
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

# pellary_executable(name "description" [GUI] SOURCES ... [LIBS ...])
function(pellary_executable name description)
    cmake_parse_arguments(PE "GUI" "" "SOURCES;LIBS" ${ARGN})
    if(PE_GUI)
        add_executable(${name} WIN32 ${PE_SOURCES})
    else()
        add_executable(${name} ${PE_SOURCES})
    endif()
    pellary_common_options(${name})
    pellary_version_resource(${name} "${description}")
    target_link_libraries(${name} PRIVATE ${PE_LIBS})
endfunction()

# pellary_module(name "description" SOURCES ... [DEF file] [LIBS ...]): an in-process DLL.
function(pellary_module name description)
    cmake_parse_arguments(PM "" "DEF" "SOURCES;LIBS" ${ARGN})
    add_library(${name} SHARED ${PM_SOURCES} ${PM_DEF})
    set_target_properties(${name} PROPERTIES PREFIX "")
    pellary_common_options(${name})
    pellary_version_resource(${name} "${description}")
    target_link_libraries(${name} PRIVATE ${PM_LIBS})
endfunction()

# pellary_static_library(name SOURCES ... [LIBS ...]): code shared between deliverables and tests.
function(pellary_static_library name)
    cmake_parse_arguments(PS "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${PS_SOURCES})
    pellary_common_options(${name})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/common ${PROJECT_SOURCE_DIR}
        ${PELLARY_GENERATED_DIR})
    target_link_libraries(${name} PUBLIC ${PS_LIBS})
endfunction()

# pellary_register_component(target): scripts/register registers it into the Wine prefix
# (an .exe with /RegServer, a .dll with regsvr32), scripts/unregister removes it again.
function(pellary_register_component target)
    set_property(GLOBAL APPEND PROPERTY PELLARY_COMPONENTS "$<TARGET_FILE_NAME:${target}>")
endfunction()

# pellary_test(name SOURCES ... [LIBS ...] [BENCH] [TIMEOUT s] [LABELS ...])
# A GoogleTest program run under Wine, with the test programs' shared helpers (tests/support).
# BENCH marks tests that share the Wine registry or start COM servers: they take the bench's
# resource lock so that ctest -j stays correct.
function(pellary_test name)
    cmake_parse_arguments(PT "BENCH" "TIMEOUT" "SOURCES;LIBS;LABELS;DEPENDS" ${ARGN})
    add_executable(${name} ${PT_SOURCES})
    pellary_common_options(${name})
    target_link_libraries(${name} PRIVATE ${PT_LIBS} pellary_test_support pellary_gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT PT_TIMEOUT)
        set(PT_TIMEOUT 300)
    endif()
    # Wine's exit code after an unhandled exception is not reliable (0 has been seen): its
    # crash report on standard error decides instead.
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_bench TIMEOUT ${PT_TIMEOUT}
        FAIL_REGULAR_EXPRESSION "wine: Unhandled|Unhandled exception:")
    if(PT_BENCH)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_registry)
    endif()
    if(PT_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${PT_LABELS}")
    endif()
    if(PT_DEPENDS)
        add_dependencies(${name} ${PT_DEPENDS})
    endif()
endfunction()

# pellary_idl(target idl_file): widl produces <stem>.h, <stem>_i.c and <stem>.tlb in the
# generated folder; the target is a static library holding the interface identifiers.
function(pellary_idl target idl)
    get_filename_component(stem ${idl} NAME_WE)
    get_filename_component(idl_abs ${idl} ABSOLUTE)
    set(out ${PELLARY_GENERATED_DIR})
    set(header ${out}/${stem}.h)
    set(iids ${out}/${stem}_i.c)
    set(tlb ${out}/${stem}.tlb)
    add_custom_command(
        OUTPUT ${header} ${iids} ${tlb}
        COMMAND ${PELLARY_WIDL} ${PELLARY_WIDL_TARGET} -I ${PELLARY_WINE_IDL_DIR} -I ${PROJECT_SOURCE_DIR}/idl
                -L ${PELLARY_STDOLE_DIR}
                -h -H ${header} -u -U ${iids} -t -T ${tlb} ${idl_abs}
        DEPENDS ${idl_abs}
        COMMENT "widl ${stem}.idl"
        VERBATIM)
    add_library(${target} STATIC ${iids} ${header})
    target_include_directories(${target} PUBLIC ${out})
    set_property(TARGET ${target} PROPERTY PELLARY_TLB ${tlb})
    add_custom_target(${target}_tlb DEPENDS ${tlb})
endfunction()
