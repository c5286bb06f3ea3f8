# The Windows program's tests, run under Wine (./dev test makes the fresh
# prefix and the private X server): real windows, the system's own dialogs,
# real processes. Nothing here links Qt. Windows programs find the build's
# files on Wine's drive Z:, the root of the file system.

# What the tests of the windows share: keys, dialogs, screen readers' view.
add_library(corvane_windriver STATIC support/windriver_win.cpp support/windriver_win.h)
target_include_directories(corvane_windriver PUBLIC support)
# uuid before oleacc, whose import library would otherwise answer for the IIDs.
target_link_libraries(corvane_windriver PUBLIC corvane_winsupport PRIVATE uuid oleacc ole32 oleaut32)

# A test program carries the program's resources and manifest, so that it
# gets the same controls, DPI awareness, icon and About picture.
function(corvane_add_wintest name)
    corvane_add_doctest(${name} ${ARGN})
    target_sources(${name} PRIVATE ${CORVANE_RC})
endfunction()
function(corvane_register_wine name)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${CORVANE_TEST_TIMEOUT})
endfunction()
# Tests that type keys and move the focus take the X display one at a time.
function(corvane_takes_keyboard)
    set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK wine_display)
endfunction()

corvane_register_wine(tst_launchlogic)

corvane_add_wintest(tst_launcherwindow_win corvane_launcher corvane_windriver)
corvane_register_wine(tst_launcherwindow_win)
# Again at 144 dpi, in a copy of the prefix that says so.
add_test(NAME tst_launcherwindow_win_144dpi
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/wine-dpi.sh 144 $<TARGET_FILE:tst_launcherwindow_win>)
set_tests_properties(tst_launcherwindow_win_144dpi PROPERTIES TIMEOUT ${CORVANE_TEST_TIMEOUT})

corvane_add_wintest(tst_fileselectors_win corvane_launcher corvane_windriver)
corvane_register_wine(tst_fileselectors_win)

corvane_add_wintest(tst_aboutwindow_win corvane_launcher corvane_windriver windowscodecs)
target_compile_definitions(tst_aboutwindow_win PRIVATE
    CORVANE_RESOURCES_DIR=L"Z:${PROJECT_SOURCE_DIR}/resources")
corvane_register_wine(tst_aboutwindow_win)
add_test(NAME tst_aboutwindow_win_144dpi
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/wine-dpi.sh 144 $<TARGET_FILE:tst_aboutwindow_win>)
set_tests_properties(tst_aboutwindow_win_144dpi PROPERTIES TIMEOUT ${CORVANE_TEST_TIMEOUT})

# Real starts: a recorder writes down its command line, its STARTUPINFO and
# whether a handle leaked into it.
add_executable(winrecorder helpers/winrecorder.c)
target_link_libraries(winrecorder PRIVATE shell32)
# A program with windows, as an emulator is, not one that needs a console.
target_link_options(winrecorder PRIVATE -Wl,--subsystem,windows)
corvane_add_doctest(tst_programstart_win corvane_launcher corvane_windriver)
target_compile_definitions(tst_programstart_win PRIVATE
    WINRECORDER_PATH=L"Z:$<TARGET_FILE:winrecorder>")
add_dependencies(tst_programstart_win winrecorder)
corvane_register_wine(tst_programstart_win)

corvane_add_doctest(tst_resources_win)
target_link_libraries(tst_resources_win PRIVATE version)
target_compile_definitions(tst_resources_win PRIVATE
    CORVANE_EXE_PATH=L"Z:$<TARGET_FILE:corvane>")
add_dependencies(tst_resources_win corvane)
corvane_register_wine(tst_resources_win)

# The real Corvane.exe, in fresh prefixes: nothing written beyond what a
# plain program that only shows the system's open-file dialog writes, and
# every way it ends.
add_executable(plainopen WIN32 helpers/plainopen.c)
target_link_libraries(plainopen PRIVATE comdlg32)
add_test(NAME windows_real_program
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/check-windows-program.sh
        $<TARGET_FILE:corvane> $<TARGET_FILE:plainopen> $<TARGET_FILE:winrecorder>)
set_tests_properties(windows_real_program PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)

# The zip, built again in another folder, is the same byte for byte.
add_test(NAME windows_zip_reproducible
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/check-zip-reproducible.sh ${PROJECT_SOURCE_DIR}
        ${PROJECT_BINARY_DIR}/${PROJECT_NAME}-${CORVANE_VERSION_TEXT}-win64.zip
        ${PROJECT_SOURCE_DIR}/resources/windows/mingw-w64-x86_64.cmake ${CMAKE_BUILD_TYPE})
set_tests_properties(windows_zip_reproducible PROPERTIES TIMEOUT 180)

corvane_takes_keyboard(tst_launcherwindow_win tst_launcherwindow_win_144dpi tst_fileselectors_win
    tst_aboutwindow_win tst_aboutwindow_win_144dpi)
