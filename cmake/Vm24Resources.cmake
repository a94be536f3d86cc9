# Resources are compiled in by directory, so adding a picture is dropping a file:
#   resources/images/<name>.<ext>  -> ":/images/<name>"
#   resources/icons/<name>.<ext>   -> ":/icons/<name>"
#   (sub-folders keep their path: resources/icons/log/info.png -> ":/icons/log/info")
#   resources/<name>.<qss|css|sql> -> ":/<name>"   (style sheets, schema)
#   resources/i18n/<lang>.ts       -> ":/i18n/<lang>" (compiled by lrelease)
set(VM24_RESOURCE_DIR ${PROJECT_SOURCE_DIR}/resources)

function(vm24_alias_without_extension files)
  foreach(file IN LISTS files)
    get_filename_component(alias ${file} NAME_WE)
    set_source_files_properties(${file} PROPERTIES QT_RESOURCE_ALIAS ${alias})
  endforeach()
endfunction()

# Alias = path below base_dir without the extension ("icons/log/info"). The
# alias always holds a slash: Qt drops an alias that reads as a false CMake
# constant, and ":/icons/no" is a real name.
function(vm24_alias_relative_without_extension base_dir files)
  foreach(file IN LISTS files)
    file(RELATIVE_PATH relative ${base_dir} ${file})
    string(REGEX REPLACE "\\.[^./]+$" "" alias ${relative})
    set_source_files_properties(${file} PROPERTIES QT_RESOURCE_ALIAS ${alias})
  endforeach()
endfunction()

# vm24_add_resources(<target> [TRANSLATED_SOURCES <files...>]
#                    [TRANSLATED_INCLUDE_DIRS <dirs...>])
# The texts to translate are read from those sources (with those include
# directories), by default from the target's own.
function(vm24_add_resources target)
  cmake_parse_arguments(R "" "" "TRANSLATED_SOURCES;TRANSLATED_INCLUDE_DIRS" ${ARGN})
  foreach(folder images icons)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS
      ${VM24_RESOURCE_DIR}/${folder}/*.png ${VM24_RESOURCE_DIR}/${folder}/*.jpg
      ${VM24_RESOURCE_DIR}/${folder}/*.svg ${VM24_RESOURCE_DIR}/${folder}/*.gif)
    if(files)
      vm24_alias_relative_without_extension(${VM24_RESOURCE_DIR} "${files}")
      qt_add_resources(${target} "vm24_${folder}" PREFIX "/" FILES ${files})
    endif()
  endforeach()

  file(GLOB top_files CONFIGURE_DEPENDS
    ${VM24_RESOURCE_DIR}/*.qss ${VM24_RESOURCE_DIR}/*.css ${VM24_RESOURCE_DIR}/*.sql)
  if(top_files)
    vm24_alias_without_extension("${top_files}")
    qt_add_resources(${target} "vm24_files" PREFIX "/" FILES ${top_files})
  endif()

  file(GLOB ts_files CONFIGURE_DEPENDS ${VM24_RESOURCE_DIR}/i18n/*.ts)
  if(ts_files)
    set(lupdate_inputs)
    if(R_TRANSLATED_SOURCES)
      set(lupdate_inputs SOURCES ${R_TRANSLATED_SOURCES})
    endif()
    if(R_TRANSLATED_INCLUDE_DIRS)
      list(APPEND lupdate_inputs INCLUDE_DIRECTORIES ${R_TRANSLATED_INCLUDE_DIRS})
    endif()
    qt_add_lupdate(${target} TS_FILES ${ts_files} ${lupdate_inputs} OPTIONS -locations none)
    qt_add_lrelease(${target} TS_FILES ${ts_files} QM_FILES_OUTPUT_VARIABLE qm_files)
    vm24_alias_without_extension("${qm_files}")
    qt_add_resources(${target} "vm24_i18n" PREFIX "/i18n" BASE ${CMAKE_CURRENT_BINARY_DIR} FILES ${qm_files})
  endif()
endfunction()
