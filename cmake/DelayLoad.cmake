# Delay-loaded system DLLs. A DLL that is not one of the system's known DLLs
# is looked for in the program's own folder first when it is imported the
# ordinary way, before the program has run a line: a portable copy in a
# downloads folder would load whatever planted file bears the name. Imported
# through a delay-load library instead, the DLL is loaded at its first call,
# by then under the search rule the program set first thing (system folder
# only). This linker cannot fill the load configuration's dependent-load
# flags, which would be the other way.
#
# panorel_delay_load(<target name> <dll base name>) makes an imported
# library target named <target name> whose every function of the DLL is
# delay-loaded. Its definition is drawn from the toolchain's ordinary import
# library, so no list of functions is kept by hand.
function(panorel_delay_load target dll)
  find_library(ordinary_import_${dll} NAMES lib${dll}.a REQUIRED)
  set(def ${CMAKE_BINARY_DIR}/delayload/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
  if(NOT EXISTS ${lib})
    execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${ordinary_import_${dll}}
      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Functions show as " T Name", or " T _Name@n" on 32-bit x86, whose
    # leading underscore is the platform's decoration and goes.
    set(decoration "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(decoration "_")
    endif()
    string(REGEX MATCHALL "[\r\n][0-9a-fA-F]+ T ${decoration}[^\r\n]+" lines "\n${symbols}")
    set(exports "LIBRARY ${dll}.dll\nEXPORTS\n")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[\r\n][0-9a-fA-F]+ T ${decoration}" "" name "${line}")
      string(APPEND exports "${name}\n")
    endforeach()
    file(WRITE ${def} "${exports}")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --dllname ${dll}.dll
      --output-delaylib ${lib} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${lib})
endfunction()
