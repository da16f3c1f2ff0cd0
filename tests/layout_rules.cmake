# The dependency rule of the tree, checked over the sources on every test run:
#  - no file outside shell/ includes a header of shell/;
#  - the core folders include no widgets and no window code (ui/, shell/, f* windows);
#  - cli/ and sim/ include no windows either.
# Run as: cmake -DSOURCE_DIR=<tree> -P layout_rules.cmake
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(faults "")

function(scan folder pattern what)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(f ${files})
    get_filename_component(name "${f}" NAME)
    # Windows of a folder (f*.cpp, f*.h) stand beside its core and may use widgets.
    if(NOT folder STREQUAL "cli" AND NOT folder STREQUAL "sim" AND name MATCHES "^f[A-Za-z]")
      continue()
    endif()
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      if(line MATCHES "${pattern}")
        file(RELATIVE_PATH rel "${SOURCE_DIR}" "${f}")
        list(APPEND faults "${rel}: ${what}: ${line}")
      endif()
    endforeach()
  endforeach()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

set(windows "<Qt(Widgets|Gui)|<Q(Widget|Dialog|MessageBox|Application|MainWindow|PushButton|LineEdit|Label)>|\"(ui|shell)/|/f[A-Za-z]+\\.h\"|\"ui_")
foreach(folder base crypto console checks validation ipconn cli sim)
  scan(${folder} "${windows}" "window code in a core folder")
endforeach()
foreach(folder base crypto console checks validation ipconn ui cli sim bench)
  scan(${folder} "\"shell/" "includes shell/")
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Layout rules broken:\n${text}")
endif()
message(STATUS "Layout rules hold")
