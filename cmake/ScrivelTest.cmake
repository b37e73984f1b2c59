# Tests run with a private runtime folder of their own, as in a user's session.
set(SCRIVEL_TEST_RUNTIME_DIR ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${SCRIVEL_TEST_RUNTIME_DIR})
file(CHMOD ${SCRIVEL_TEST_RUNTIME_DIR}
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

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
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=*.debug=false;XDG_RUNTIME_DIR=${SCRIVEL_TEST_RUNTIME_DIR}"
    TIMEOUT 300)
endfunction()

# scrivel_add_folder_tests(LIBS <targets> [FIXTURES <sources>])
# Every tst_<name>.cpp of the calling folder becomes the test <folder>_<name>;
# FIXTURES are shared helpers built once and linked into each of them.
function(scrivel_add_folder_tests)
  cmake_parse_arguments(T "" "" "LIBS;FIXTURES" ${ARGN})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  if(T_FIXTURES)
    add_library(${folder}_fixtures STATIC ${T_FIXTURES})
    target_link_libraries(${folder}_fixtures PUBLIC Qt6::Test ${T_LIBS})
    target_include_directories(${folder}_fixtures PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND T_LIBS ${folder}_fixtures)
  endif()
  foreach(source IN LISTS tests)
    get_filename_component(stem ${source} NAME_WE)
    string(REGEX REPLACE "^tst_" "" stem ${stem})
    scrivel_add_test(${folder}_${stem} SOURCES ${source} LIBS ${T_LIBS})
  endforeach()
endfunction()

# scrivel_use_engine(<target>): a test, bench or tool that reads ink with the engine library, its
# packages and the character set the program embeds as :/data/charsets/UTF-8.charset; nothing
# when the target or the engine is not part of the build.
function(scrivel_use_engine target)
  if(NOT TARGET ${target} OR NOT TARGET InkoraEngine OR NOT TARGET engine_resources
     OR NOT SCRIVEL_CHARSET_FILE)
    return()
  endif()
  set(qrc ${CMAKE_BINARY_DIR}/enginecharset.qrc)
  file(CONFIGURE OUTPUT ${qrc} CONTENT "<RCC><qresource prefix=\"/data/charsets\"><file alias=\"UTF-8.charset\">${SCRIVEL_CHARSET_FILE}</file></qresource></RCC>\n")
  target_sources(${target} PRIVATE ${qrc})
  add_dependencies(${target} InkoraEngine engine_resources)
endfunction()

# scrivel_resource_package(<dir> <list> <package> <alias=file>...): the binary Qt resource
# package dir/package of the files under their aliases, its path appended to the variable list.
function(scrivel_resource_package dir list package)
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${package}.qrc)
  set(body "<RCC><qresource prefix=\"/\">\n")
  set(files)
  foreach(entry IN LISTS ARGN)
    string(REPLACE "=" ";" parts ${entry})
    list(GET parts 0 alias)
    list(GET parts 1 file)
    string(APPEND body "  <file alias=\"${alias}\">${file}</file>\n")
    list(APPEND files ${file})
  endforeach()
  string(APPEND body "</qresource></RCC>\n")
  file(WRITE ${qrc} "${body}")
  add_custom_command(OUTPUT ${dir}/${package}
      COMMAND Qt6::rcc --binary -o ${dir}/${package} ${qrc}
      DEPENDS ${files} ${qrc}
      COMMENT "Resource package ${package}" VERBATIM)
  set(${list} ${${list}} ${dir}/${package} PARENT_SCOPE)
endfunction()
