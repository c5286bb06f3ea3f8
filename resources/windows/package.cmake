# Packs the stripped Corvane.exe with its read-me and licence:
# Corvane-<version>-win64.zip in the build folder. Built twice from one
# commit, in any two folders, the zip is the same byte for byte: the program's
# header carries no time stamp, and the archive takes its entries in a fixed
# order, dated the release date, with nothing of the files on this disk.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(stage ${CMAKE_BINARY_DIR}/package)
set(zip ${CMAKE_BINARY_DIR}/${PROJECT_NAME}-${CORVANE_VERSION_TEXT}-win64.zip)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${stage}/${PROJECT_NAME}/README.txt @ONLY)
add_custom_command(OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
        ${CMAKE_STRIP} -o ${stage}/${PROJECT_NAME}/${PROJECT_NAME}.exe $<TARGET_FILE:corvane>
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE
        ${stage}/${PROJECT_NAME}/LICENSE.txt
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/makezip.py ${zip}
        ${CORVANE_RELEASE_DATE} ${stage} ${PROJECT_NAME}/${PROJECT_NAME}.exe
        ${PROJECT_NAME}/LICENSE.txt ${PROJECT_NAME}/README.txt
    DEPENDS corvane ${stage}/${PROJECT_NAME}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE
        ${CMAKE_CURRENT_LIST_DIR}/makezip.py
    COMMENT "Packing ${PROJECT_NAME}-${CORVANE_VERSION_TEXT}-win64.zip")
add_custom_target(corvane_zip ALL DEPENDS ${zip})
