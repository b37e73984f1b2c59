# Compile settings shared by every target the build defines, carried by INTERFACE targets that
# scrivel_apply_settings links into each of them.

option(SCRIVEL_WERROR "Treat warnings as errors" OFF)

add_library(scrivel_settings INTERFACE)
add_library(Scrivel::Settings ALIAS scrivel_settings)
target_compile_options(scrivel_settings INTERFACE -Wall -Wextra
    $<$<BOOL:${SCRIVEL_WERROR}>:-Werror>)
# A binary loads only the libraries it uses, with either compiler (Debian's gcc links so by
# default, its clang does not): a library loaded for nothing, like the recording engine beside
# the engine library, would shadow the embedded resources of the same path.
target_link_options(scrivel_settings INTERFACE LINKER:--as-needed)

# Strings from char data only by an explicit call, for the folders whose sources build so.
add_library(scrivel_strict_strings INTERFACE)
add_library(Scrivel::StrictStrings ALIAS scrivel_strict_strings)
target_compile_definitions(scrivel_strict_strings INTERFACE QT_NO_CAST_FROM_ASCII)
set(SCRIVEL_STRICT_STRING_FOLDERS engine hook keyboard lang model platform recognition skin tessel
    windows xml)

# scrivel_apply_settings(<dir>): links the settings into every library and executable defined
# in dir and the folders below it; the strict strings into those of the listed source folders.
function(scrivel_apply_settings dir)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
  string(REGEX REPLACE "/.*" "" top "${rel}")
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_link_libraries(${target} PRIVATE Scrivel::Settings)
      if(top IN_LIST SCRIVEL_STRICT_STRING_FOLDERS)
        target_link_libraries(${target} PRIVATE Scrivel::StrictStrings)
      endif()
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    scrivel_apply_settings(${subdir})
  endforeach()
endfunction()
