# Shared build settings for Kestrone's own targets.

# The release configuration of the Windows builds (CMAKE_BUILD_TYPE=Release,
# scripts/release.sh): optimised, code nobody calls left out, symbols stripped.
if(WIN32)
    set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG -ffunction-sections -fdata-sections")
    set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG -ffunction-sections -fdata-sections")
    set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-s -Wl,--gc-sections")
endif()

# Strict warnings on our code only (third-party sources keep their own flags).
function(kestrone_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    if(WIN32)
        target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
            _WIN32_WINNT=0x0501 WINVER=0x0501)
    endif()
endfunction()

# Collects the sources of a folder tree: portable files everywhere, files in a
# win32/ subfolder only for the Windows build, files in a sim/ subfolder only
# for the native build.
function(kestrone_sources out_var)
    set(result)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
        foreach(f IN LISTS found)
            if(f MATCHES "/win32/" AND NOT WIN32)
                continue()
            endif()
            if(f MATCHES "/sim/" AND WIN32)
                continue()
            endif()
            list(APPEND result ${f})
        endforeach()
    endforeach()
    set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# A GoogleTest suite made of every .cpp in a folder.
function(kestrone_test_suite name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    kestrone_strict(${name})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    if(CMAKE_CROSSCOMPILING)
        # One CTest test per binary: listing tests under Wine costs a start-up each.
        add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
        # wine-run.sh answers 77 where this machine cannot run the binary's Wine.
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    else()
        include(GoogleTest)
        gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# A Win32 test program that needs a display: it runs on a virtual X display in
# the Wine prefix kept for display tests, one such suite at a time.
function(kestrone_display_test name target)
    add_test(NAME ${name}
        COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/tray/run-on-display.sh
                ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix-display
                $<TARGET_FILE:${target}> ${ARGN})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600
        RESOURCE_LOCK wine-display)
endfunction()

# Kestrone's version, read from src/app/version.h (the one place it is kept):
# KESTRONE_VERSION ("2.3.0.618") and KESTRONE_SHORT_VERSION ("2.3").
function(kestrone_read_version)
    set(header ${CMAKE_SOURCE_DIR}/src/app/version.h)
    file(STRINGS ${header} lines REGEX "^#define KESTRONE_VERSION_[A-Z]+ +[0-9]+")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "KESTRONE_VERSION_([A-Z]+) +([0-9]+)" matched "${line}")
        set(part_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
    endforeach()
    foreach(part MAJOR MINOR PATCH BUILD)
        if(NOT DEFINED part_${part})
            message(FATAL_ERROR "${header} defines no KESTRONE_VERSION_${part}")
        endif()
    endforeach()
    set(KESTRONE_VERSION "${part_MAJOR}.${part_MINOR}.${part_PATCH}.${part_BUILD}" PARENT_SCOPE)
    set(KESTRONE_SHORT_VERSION "${part_MAJOR}.${part_MINOR}" PARENT_SCOPE)
    # Windows Installer compares only three fields, the third at most 65535:
    # the patch and the build go into it together, so that every build is newer.
    if(part_BUILD GREATER 999 OR part_PATCH GREATER 64)
        message(FATAL_ERROR "The MSI version holds patch * 1000 + build: patch <= 64, build <= 999")
    endif()
    math(EXPR msi_third "${part_PATCH} * 1000 + ${part_BUILD}")
    set(KESTRONE_MSI_VERSION "${part_MAJOR}.${part_MINOR}.${msi_third}" PARENT_SCOPE)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
endfunction()
