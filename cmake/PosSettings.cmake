# One interface target carries the compiler settings of every target of the
# project: language level, warnings and, in the test build, the sanitizers.
add_library(pos_settings INTERFACE)
target_compile_features(pos_settings INTERFACE cxx_std_20)

target_compile_options(pos_settings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(pos_settings INTERFACE POS_VERSION="${PROJECT_VERSION}")

if(POS_SANITIZE)
  set(_pos_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(pos_settings INTERFACE ${_pos_san})
  target_link_options(pos_settings INTERFACE ${_pos_san})
endif()

# pos_add_library(name SOURCES ... DEPENDS ...): one static library per area.
function(pos_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC pos_settings ${ARG_DEPENDS})
endfunction()
