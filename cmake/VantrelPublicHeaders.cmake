# The headers an application compiles against: every header of the library
# proper, the host headers an application uses directly, and every host header
# those name, by #include or by a forward-declared class that has a header of
# its own. The same list is installed and decides which host classes the
# shared library may export.

# Host headers an application includes itself: render, offscreen and window contexts,
# geometry with its builders and handles, option records, images, the error
# list, and the export macro.
set(VANTREL_APPLICATION_HOST_HEADERS
  host/RE/RE_Render.h
  host/RE/RE_OffscreenContext.h
  host/UI/UI_DesktopWindow.h
  host/GU/GU_Detail.h
  host/GU/GU_DetailHandle.h
  host/GR/GR_DisplayOption.h
  host/GR/GR_CommonDispOption.h
  host/GR/GR_UserOption.h
  host/GR/GR_OptionText.h
  host/TIL/TIL_TextureMap.h
  host/TIL/TIL_ImageFile.h
  host/UT/UT_SafeSave.h
  host/UT/UT_ErrorManager.h
  host/UT/UT_IFStream.h
  host/UT/SYS_Visibility.h)

function(vantrel_public_headers out_var)
  set(root ${PROJECT_SOURCE_DIR})
  file(GLOB host_headers RELATIVE ${root} ${root}/host/*/*.h)
  foreach(h ${host_headers})
    get_filename_component(name ${h} NAME_WE)
    set(_path_of_${name} ${h})
  endforeach()

  set(pending ${VANTREL_APPLICATION_HOST_HEADERS})
  foreach(dir ${VANTREL_GUI_DIRS})
    file(GLOB_RECURSE dir_headers RELATIVE ${root} ${root}/${dir}/*.h)
    list(APPEND pending ${dir_headers})
  endforeach()

  set(found)
  while(pending)
    list(POP_FRONT pending h)
    if(h IN_LIST found OR NOT EXISTS ${root}/${h})
      continue()
    endif()
    list(APPEND found ${h})
    file(STRINGS ${root}/${h} lines REGEX "^(#include \"[^\"]+\"|class [A-Za-z0-9_]+;)")
    foreach(line ${lines})
      if(line MATCHES "^#include \"([^\"]+)\"")
        list(APPEND pending ${CMAKE_MATCH_1})
      elseif(line MATCHES "^class ([A-Za-z0-9_]+);")
        # Tested apart: arguments expand before the match sets CMAKE_MATCH_1.
        if(DEFINED _path_of_${CMAKE_MATCH_1})
          list(APPEND pending ${_path_of_${CMAKE_MATCH_1}})
        endif()
      endif()
    endforeach()
  endwhile()
  list(SORT found)
  set(${out_var} ${found} PARENT_SCOPE)
endfunction()
