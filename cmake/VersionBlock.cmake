# The version block that the program's executables carry: file and product version from
# project(VERSION), one translation (US English, Western code page) and its string table.
set(HUSHMILL_VERSION_TRANSLATION 040904E4)
set(HUSHMILL_VERSION_STRINGS
  "CompanyName=QUONDEL"
  "FileDescription=Hushmill"
  "FileVersion=${PROJECT_VERSION}"
  "InternalName=Hushmill"
  "LegalCopyright=Copyright © QUONDEL"
  "LegalTrademarks=Hushmill is a trademark of QUONDEL"
  "OriginalFilename=hushmill.exe"
  "ProductName=Hushmill"
  "ProductVersion=${PROJECT_VERSION}"
  "Comments=Removes silent stretches from audio files"
  "ProgramID=com.quondel.hushmill"
)

# Gives <target> the version block: generated at build time into a source of the target's own,
# which puts it into the ELF section that the version reader looks in. The executable needs no
# file beside it to know its version.
function(hushmill_embed_version_block target)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_versionblock.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND hushmill_versionblock_generator ${source} ${PROJECT_VERSION}
            ${HUSHMILL_VERSION_TRANSLATION} ${HUSHMILL_VERSION_STRINGS}
    DEPENDS hushmill_versionblock_generator ${PROJECT_SOURCE_DIR}/cmake/VersionBlock.cmake
            ${PROJECT_SOURCE_DIR}/CMakeLists.txt
    COMMENT "Writing the version block of ${target}"
    VERBATIM)
  set_source_files_properties(${source} PROPERTIES SKIP_AUTOGEN ON)
  target_sources(${target} PRIVATE ${source})
endfunction()
