# Windows resources of the programs built on the window layer.
#
# larkwell_program_resources(<target>
#                            DESCRIPTION <text>
#                            [ICON <file.ico>]
#                            [FORMS <NAME>=<file>...])
# Gives the exe the application manifest (common controls 6, dpi-aware, run as invoker), a
# version resource with the project's version, an icon (resource 1, the windows' icon) and the
# stored form descriptions, each as RCDATA named NAME (FormResource(L"NAME") reads it).
function(larkwell_program_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION;ICON" "FORMS")
  set(LARKWELL_RES_NAME ${target})
  set(LARKWELL_RES_DESCRIPTION "${arg_DESCRIPTION}")
  set(LARKWELL_RES_VERSION4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(LARKWELL_RES_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}.resources)
  set(LARKWELL_RES_MANIFEST ${dir}/program.manifest)
  set(LARKWELL_RES_EXTRA "")
  set(depends "")
  if(arg_ICON)
    cmake_path(ABSOLUTE_PATH arg_ICON BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE icon)
    string(APPEND LARKWELL_RES_EXTRA "1 ICON \"${icon}\"\n")
    list(APPEND depends ${icon})
  endif()
  foreach(form IN LISTS arg_FORMS)
    string(REPLACE "=" ";" pair "${form}")
    list(GET pair 0 name)
    list(GET pair 1 file)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE file)
    string(APPEND LARKWELL_RES_EXTRA "${name} RCDATA \"${file}\"\n")
    list(APPEND depends ${file})
  endforeach()
  set(templates ${PROJECT_SOURCE_DIR}/framework/ui/resources)
  configure_file(${templates}/program.manifest.in ${LARKWELL_RES_MANIFEST} @ONLY)
  configure_file(${templates}/program.rc.in ${dir}/program.rc @ONLY)
  target_sources(${target} PRIVATE ${dir}/program.rc)
  # windres does not see the files the .rc names: rebuild when they change.
  set_source_files_properties(${dir}/program.rc PROPERTIES
    OBJECT_DEPENDS "${LARKWELL_RES_MANIFEST};${depends}")
endfunction()
