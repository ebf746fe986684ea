# Delay-loaded system libraries of the Windows build. Wine starts a program
# the slower the more libraries it loads and initialises before the program's
# first line, and these are needed only once a dialog, a sound, a picture
# list, the shell or OLE is used: they load on their first call instead.
# Import libraries of the same names, made here at configure time from the
# toolchain's own, take the place of the usual ones on every link line; the
# helper that loads them comes last (libdelayimp).
set(BX_DELAYLOAD_RECIPE ${CMAKE_CURRENT_LIST_FILE})
set(BX_DELAY_LOADED shell32 comdlg32 comctl32 ole32 oleaut32 winmm mpr msimg32)

# The 32-bit linker drops the code section of an import library member whose
# function symbol nobody calls: right for an ordinary import library, where the
# code is only a jump through the import slot that callers use directly. In a
# delay-load library that code is the stub the import slot starts out pointing
# at (it loads the library on the first call), so dropping it leaves the slot
# 0 and the first call jumps there. The linker only drops code sections: the
# stubs are moved into a ".text$" section marked as data, which still lands in
# the program's code section.
function(bx_keep_delay_stubs archive work)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work})
  execute_process(COMMAND ${CMAKE_AR} t ${archive} OUTPUT_VARIABLE members COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "[^\r\n]+" members "${members}")
  execute_process(COMMAND ${CMAKE_AR} x ${archive} WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
  foreach(member ${members})
    if(member MATCHES "_s[0-9]+\\.o$")
      execute_process(COMMAND ${CMAKE_OBJCOPY} "--rename-section" ".text=.text$bxdelay,contents,alloc,load,readonly,data"
                              ${member}
                      WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
  file(REMOVE ${archive})
  execute_process(COMMAND ${CMAKE_AR} rcs ${archive} ${members} WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${work})
endfunction()

function(bx_make_delay_libraries dir)
  file(MAKE_DIRECTORY ${dir})
  foreach(lib ${BX_DELAY_LOADED})
    set(out ${dir}/lib${lib}.a)
    if(EXISTS ${out} AND ${out} IS_NEWER_THAN ${BX_DELAYLOAD_RECIPE})
      continue()
    endif()
    find_library(BX_IMPORT_${lib} NAMES lib${lib}.a REQUIRED NO_CACHE)
    execute_process(COMMAND ${CMAKE_NM} -g ${BX_IMPORT_${lib}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Each function has an import slot "__imp_NAME"; 32-bit names carry
    # one more leading underscore and their argument size ("@8"). Only that
    # one underscore goes: comctl32's "_TrackMouseEvent" keeps its own, or the
    # library would claim user32's TrackMouseEvent (CMake's "^_" would take
    # every leading underscore, one after the other).
    string(REGEX MATCHALL "[ \t]I __imp_[^\r\n]+" slots "${symbols}")
    set(def "LIBRARY ${lib}.dll\nEXPORTS\n")
    foreach(slot ${slots})
      string(REGEX REPLACE "^[ \t]I __imp_" "" name "${slot}")
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        string(SUBSTRING "${name}" 1 -1 name)
      endif()
      string(APPEND def "${name}\n")
    endforeach()
    file(WRITE ${dir}/${lib}.def "${def}")
    set(kill_at "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(kill_at --kill-at)
    endif()
    execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${dir}/${lib}.def --dllname ${lib}.dll
                            --output-delaylib ${out}.tmp
                    COMMAND_ERROR_IS_FATAL ANY)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      bx_keep_delay_stubs(${out}.tmp ${dir}/${lib}.members)
    endif()
    file(RENAME ${out}.tmp ${out})
  endforeach()
endfunction()

set(BX_DELAYLIB_DIR ${CMAKE_BINARY_DIR}/delaylibs)
bx_make_delay_libraries(${BX_DELAYLIB_DIR})
# Searched before the toolchain's folder, so that "-lshell32" finds the
# delay-load library wherever it stands on a link line.
link_directories(BEFORE ${BX_DELAYLIB_DIR})
set(CMAKE_CXX_STANDARD_LIBRARIES "${CMAKE_CXX_STANDARD_LIBRARIES} -ldelayimp")
set(CMAKE_C_STANDARD_LIBRARIES "${CMAKE_C_STANDARD_LIBRARIES} -ldelayimp")

# The linker finds these libraries by name, so nothing tells the build that a
# program depends on them: once every target is known, each program and
# library that links is told to link again when they are made anew.
function(bx_delay_link_depends dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" OR type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
      foreach(lib ${BX_DELAY_LOADED})
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${BX_DELAYLIB_DIR}/lib${lib}.a)
      endforeach()
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    bx_delay_link_depends(${subdir})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL bx_delay_link_depends ${CMAKE_SOURCE_DIR})
