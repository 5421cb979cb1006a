# The file names of the downloads, from the project's version: the setup and the portable zip for
# each processor (i386 or amd64); the 64-bit program's names end in -x64.
function(haloquill_setup_name machine result)
  set(version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  if(machine STREQUAL "amd64")
    set(${result} Haloquill-${version}-setup-x64.exe PARENT_SCOPE)
  else()
    set(${result} Haloquill-${version}-setup.exe PARENT_SCOPE)
  endif()
endfunction()

function(haloquill_portable_name machine result)
  set(version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  if(machine STREQUAL "amd64")
    set(${result} Haloquill-${version}-portable-x64.zip PARENT_SCOPE)
  else()
    set(${result} Haloquill-${version}-portable.zip PARENT_SCOPE)
  endif()
endfunction()
