# Packs the stripped Corvane.exe with its read-me and the licence notices that
# statically linked Qt asks for: Corvane-<version>-win64.zip in the build folder.
set(stage ${CMAKE_BINARY_DIR}/package/${PROJECT_NAME})
set(zip ${CMAKE_BINARY_DIR}/${PROJECT_NAME}-${CORVANE_VERSION_TEXT}-win64.zip)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/NOTICES.txt.in ${CMAKE_BINARY_DIR}/package/NOTICES.txt @ONLY)
add_custom_command(OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_STRIP} -o ${stage}/${PROJECT_NAME}.exe $<TARGET_FILE:corvane>
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/package/README.txt
        ${CMAKE_BINARY_DIR}/package/NOTICES.txt ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/LGPL-3 ${stage}/LGPL-3.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/GPL-3 ${stage}/GPL-3.txt
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
        ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip --mtime=${CORVANE_RELEASE_DATE}
        ${PROJECT_NAME}
    DEPENDS corvane ${CMAKE_BINARY_DIR}/package/README.txt ${CMAKE_BINARY_DIR}/package/NOTICES.txt
    COMMENT "Packing ${PROJECT_NAME}-${CORVANE_VERSION_TEXT}-win64.zip")
add_custom_target(corvane_zip ALL DEPENDS ${zip})
