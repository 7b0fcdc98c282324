# add_scenario_tests(PREFIX SCRIPT SCENARIO...) adds the test PREFIX_SCENARIO for each
# scenario: the Python SCRIPT runs talewick-drive on a fresh copy of the content tree and
# checks its shots (kept in shots/SCENARIO below the calling folder's build folder), sounds
# and files. plain_bitmap, the scripts' bitmap reader, is built in tests/scenarios. A
# scenario the machine cannot run (no mounting allowed, say) exits 77 and counts as skipped.
function(add_scenario_tests prefix script)
    if(NOT TARGET talewick-drive OR NOT TARGET content
       OR NOT EXISTS ${PROJECT_SOURCE_DIR}/tests/scenarios/plain_bitmap.cpp)
        return()
    endif()
    find_package(Python3 COMPONENTS Interpreter)
    if(NOT Python3_FOUND)
        return()
    endif()
    foreach(scenario ${ARGN})
        add_test(NAME ${prefix}_${scenario}
                 COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${scenario}
                         $<TARGET_FILE:talewick-drive> ${PROJECT_BINARY_DIR}/content
                         ${CMAKE_CURRENT_BINARY_DIR}/shots/${scenario})
        set_tests_properties(${prefix}_${scenario} PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
            ENVIRONMENT "TALEWICK_PLAIN_BITMAP=$<TARGET_FILE:plain_bitmap>")
    endforeach()
endfunction()
