# Runs at installation time, when the prefix is finally known: writes the desktop entry with the
# installed program's full path, since a folder of the user's own is rarely on the PATH.
# Expects ZELPO_DESKTOP_TEMPLATE, ZELPO_BINDIR and ZELPO_APPLICATIONS_DIR to be set.

get_filename_component(program "${CMAKE_INSTALL_PREFIX}/${ZELPO_BINDIR}/zelpo" ABSOLUTE)

# The path is quoted as desktop entries ask: inside the quotes a backslash goes before ", `, $
# and \; then, as for any value of the file, every backslash is doubled, and % is written %%.
string(REPLACE "\\" "\\\\" quoted "${program}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(ZELPO_EXEC "\"${quoted}\"")

set(entry "${CMAKE_INSTALL_PREFIX}/${ZELPO_APPLICATIONS_DIR}/zelpo.desktop")
get_filename_component(entry "${entry}" ABSOLUTE)
set(entry "$ENV{DESTDIR}${entry}")
message(STATUS "Installing: ${entry}")
configure_file("${ZELPO_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
