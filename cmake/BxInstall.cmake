# What a user gets: "cmake --install build/win64 --prefix DIR" lays out the
# launcher's folder: the launcher, the skin editor below it in BXskineditor\,
# the delivered game records and parameter lists, the help and readme files
# that F1 and F2 open, the logos, and the default skin's project with its
# pictures below the editor, in BXskineditor\projects\, where the editor's
# Open and Save as start. The launcher makes skins\, temp\, modlist\ and its
# INI files itself on the first run.
# The programs' debug files form the component "debug", installed only when
# asked for (--component debug).
if(NOT WIN32)
  return()
endif()

install(TARGETS Brannox2000 RUNTIME DESTINATION . COMPONENT programs)
install(TARGETS bxskined RUNTIME DESTINATION BXskineditor COMPONENT programs)
install(FILES ${BX_DELIVERED_DIR}/Games.ini ${BX_DELIVERED_DIR}/Parameters.txt
  "${BX_DELIVERED_DIR}/Brannox help.txt" ${BX_DELIVERED_DIR}/readme.txt DESTINATION . COMPONENT programs)
install(DIRECTORY ${BX_DELIVERED_DIR}/Logos DESTINATION . COMPONENT programs)
# The project the build compiles into the launcher's built-in skin package.
install(FILES ${BX_DEFAULTSKIN_DIR}/Bx2k8.bxn ${BX_DEFAULTSKIN_DIR}/Bx2k8.bxc
  DESTINATION BXskineditor/projects COMPONENT programs)
file(GLOB default_skin_pictures ${CMAKE_SOURCE_DIR}/resources/defaultskin/*.bmp)
install(FILES ${default_skin_pictures} DESTINATION "BXskineditor/projects/Bx2k8 pictures" COMPONENT programs)

if(CMAKE_OBJCOPY)
  install(FILES $<TARGET_FILE:Brannox2000>.debug DESTINATION . COMPONENT debug EXCLUDE_FROM_ALL)
  install(FILES $<TARGET_FILE:bxskined>.debug DESTINATION BXskineditor COMPONENT debug EXCLUDE_FROM_ALL)
endif()
