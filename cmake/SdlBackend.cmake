# The SDL2 + OpenGL backend (velmor_sdl) and the game executable (velmor).
pkg_check_modules(SDL2_TTF REQUIRED IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED)

file(GLOB VELMOR_SDL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/sdl/*.cpp)
# The image decoder is its own library, shared with the headless backend.
list(REMOVE_ITEM VELMOR_SDL_SOURCES ${PROJECT_SOURCE_DIR}/platform/sdl/SdlImageFile.cpp)
velmor_library(velmor_sdl sdl ${VELMOR_SDL_SOURCES})
target_link_libraries(velmor_sdl PUBLIC velmor_engine velmor_image PkgConfig::SDL2 PkgConfig::SDL2_TTF
                      PkgConfig::FONTCONFIG OpenGL::GL)

add_executable(velmor ${PROJECT_SOURCE_DIR}/app/velmor_main.cpp)
target_link_libraries(velmor PRIVATE velmor_sdl)
set_target_properties(velmor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

# The batched sprite transform rounds each step as OpenGL's pipeline does.
set_source_files_properties(${PROJECT_SOURCE_DIR}/platform/sdl/GlQuadBatch.cpp PROPERTIES COMPILE_OPTIONS
                            -ffp-contract=off)
