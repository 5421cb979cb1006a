cmake_minimum_required(VERSION 3.20)
# Makes the downloads of one built Windows program: its setup (NSIS) and its portable zip. The
# build's own downloads and scripts/package.sh's are made here alike. The program is copied into
# WORK_DIR, made anew, and packed from there; with SIGN on, that copy, the setup and the
# uninstaller the setup carries are signed by sign.sh beside this file (which reads
# HALOQUILL_SIGN_* from the environment). The built program is never changed.
# With SOURCE_DATE_EPOCH in the environment, every file packed carries that time, so that two
# builds of one commit give the same downloads.
#   cmake -DMACHINE=i386|amd64 -DPROGRAM=<Haloquill.exe> -DVERSION=<a.b.c.d>
#         -DOUTPUT_DIR=<folder> -DWORK_DIR=<scratch folder> [-DDOWNLOADS=setup|portable]
#         [-DMAKENSIS=<makensis>] [-DSIGN=ON] -P make_download.cmake
foreach(name MACHINE PROGRAM VERSION OUTPUT_DIR WORK_DIR)
  if(NOT DEFINED ${name} OR "${${name}}" STREQUAL "")
    message(FATAL_ERROR "${name} is not given")
  endif()
endforeach()
set(packaging_dir ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(source_dir ${packaging_dir}/.. ABSOLUTE)

if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "VERSION '${VERSION}' is not four numbers")
endif()
# The names the build gives the downloads, from the same version numbers.
set(PROJECT_VERSION_MAJOR ${CMAKE_MATCH_1})
set(PROJECT_VERSION_MINOR ${CMAKE_MATCH_2})
set(HALOQUILL_SHORT_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
include(${source_dir}/cmake/download_names.cmake)

# The read-me of the portable zip says which Windows its program runs on.
if(MACHINE STREQUAL "amd64")
  set(nsis_target amd64-unicode)
  set(PORTABLE_KIND "64-bit portable download")
  set(PORTABLE_WINDOWS "64-bit Windows 7 and later")
elseif(MACHINE STREQUAL "i386")
  set(nsis_target x86-unicode)
  set(PORTABLE_KIND "portable download")
  set(PORTABLE_WINDOWS "Windows 7 and later, 32-bit or 64-bit")
else()
  message(FATAL_ERROR "MACHINE '${MACHINE}' is neither i386 nor amd64")
endif()
set(machine_downloads setup portable)
if(NOT DEFINED DOWNLOADS)
  set(DOWNLOADS ${machine_downloads})
endif()
foreach(download IN LISTS DOWNLOADS)
  if(NOT download IN_LIST machine_downloads)
    message(FATAL_ERROR "the ${MACHINE} program has no ${download} download")
  endif()
endforeach()

# The portable read-me names the setup of the same program.
haloquill_setup_name(${MACHINE} setup_name)

set(sign_script ${packaging_dir}/sign.sh)
function(sign_file file)
  execute_process(COMMAND bash ${sign_script} ${file} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# Gives the files the time of SOURCE_DATE_EPOCH, when it is set, and the same permissions
# whatever the umask: the setup stores the times, the zip both.
function(settle_files)
  file(CHMOD ${ARGN} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND touch -d @$ENV{SOURCE_DATE_EPOCH} ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR} ${OUTPUT_DIR})
set(program ${WORK_DIR}/Haloquill.exe)
configure_file(${PROGRAM} ${program} COPYONLY)
if(SIGN)
  sign_file(${program})
endif()
settle_files(${program})

if(setup IN_LIST DOWNLOADS)
  if(NOT MAKENSIS)
    find_program(MAKENSIS makensis REQUIRED)
  endif()
  set(setup_file ${OUTPUT_DIR}/${setup_name})
  set(sign_define "")
  if(SIGN)
    set(sign_define "-DSIGN_COMMAND=bash \"${sign_script}\"")
  endif()
  file(REMOVE ${setup_file})
  execute_process(
    COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
            -DTARGET=${nsis_target}
            -DVERSION=${HALOQUILL_SHORT_VERSION}
            -DVERSION_RECORD=${VERSION}
            -DPROGRAM=${program}
            -DICON=${source_dir}/content/icons/haloquill.ico
            -DOUTFILE=${setup_file}
            -DOUTFILE_NAME=${setup_name}
            ${sign_define}
            ${packaging_dir}/haloquill.nsi
    RESULT_VARIABLE nsis_result)
  if(NOT nsis_result EQUAL 0)
    # makensis leaves the setup behind when only its signing failed.
    file(REMOVE ${setup_file})
    message(FATAL_ERROR "Making ${setup_name} failed")
  endif()
endif()

if(portable IN_LIST DOWNLOADS)
  haloquill_portable_name(${MACHINE} zip_name)
  set(zip_file ${OUTPUT_DIR}/${zip_name})
  configure_file(${packaging_dir}/portable_readme.txt.in ${WORK_DIR}/Readme.txt @ONLY
                 NEWLINE_STYLE CRLF)
  settle_files(${WORK_DIR}/Readme.txt)
  file(REMOVE ${zip_file})
  # Info-ZIP's zip with -X stores no owner and no access or change times, which CMake's zip
  # writer takes from the disk; a zip's times are local, so they are written in UTC.
  find_program(ZIP zip)
  if(ZIP)
    set(ENV{TZ} UTC)
    set(pack ${ZIP} -q -X -D ${zip_file})
  else()
    message(WARNING "zip is not installed: ${zip_name} differs from build to build")
    set(pack ${CMAKE_COMMAND} -E tar cf ${zip_file} --format=zip)
  endif()
  execute_process(COMMAND ${pack} Haloquill.exe Readme.txt
                  WORKING_DIRECTORY ${WORK_DIR} COMMAND_ERROR_IS_FATAL ANY)
endif()
