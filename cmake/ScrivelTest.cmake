# scrivel_add_test(NAME SOURCES <files> LIBS <targets>)
# A QtTest executable registered with CTest, run headless from the program's folder.
function(scrivel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    SCRIVEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}" SCRIVEL_BIN_DIR="${SCRIVEL_BIN_DIR}")
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${SCRIVEL_BIN_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=*.debug=false"
    TIMEOUT 300)
endfunction()
