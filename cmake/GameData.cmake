# Assembles the data half of the runtime folder: maps copied from data/map,
# images and sounds drawn by our asset generator, and the font built from
# Debian's WenQuanYi Micro Hei.

set(_maps c1.txt c2.txt c3.txt)
set(_map_outputs)
foreach(_map IN LISTS _maps)
  add_custom_command(
    OUTPUT ${BRAMBLEHOLT_GAME_DIR}/map/${_map}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${PROJECT_SOURCE_DIR}/data/map/${_map} ${BRAMBLEHOLT_GAME_DIR}/map/${_map}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/map/${_map}
    COMMENT "Copying map ${_map}")
  list(APPEND _map_outputs ${BRAMBLEHOLT_GAME_DIR}/map/${_map})
endforeach()

set(_images
  catapult_wolf hacking_wolf ice_tower platform pond skunk_tower slap_tower
  suicidal_wolf throwing_wolf regular_wolf baby_wolf tower
  lowground highground menu home gameover gamewin button button_selected)
set(_sounds explode tower_shoot tower_collapse)

# The desktop icon, drawn for each of these sizes (icon/<size>x<size>/brambleholt.png).
set(BRAMBLEHOLT_ICON_SIZES 16 32 48 64 128 256)
set(_asset_outputs)
foreach(_size IN LISTS BRAMBLEHOLT_ICON_SIZES)
  list(APPEND _asset_outputs ${BRAMBLEHOLT_GAME_DIR}/icon/${_size}x${_size}/brambleholt.png)
endforeach()
foreach(_image IN LISTS _images)
  list(APPEND _asset_outputs ${BRAMBLEHOLT_GAME_DIR}/image/${_image}.png)
endforeach()
foreach(_sound IN LISTS _sounds)
  list(APPEND _asset_outputs ${BRAMBLEHOLT_GAME_DIR}/sound/${_sound}.wav)
endforeach()

# The Chinese lettering on the pictures is set in the font the game ships.
add_custom_command(
  OUTPUT ${_asset_outputs}
  COMMAND assetgen --font ${BRAMBLEHOLT_GAME_DIR}/hei.ttf ${BRAMBLEHOLT_GAME_DIR}
  DEPENDS assetgen ${BRAMBLEHOLT_GAME_DIR}/hei.ttf
  COMMENT "Drawing images and synthesising sounds")

set(BRAMBLEHOLT_CONTACT_SHEET ${CMAKE_BINARY_DIR}/contact_sheet.png)
add_custom_command(
  OUTPUT ${BRAMBLEHOLT_CONTACT_SHEET}
  COMMAND assetgen --font ${BRAMBLEHOLT_GAME_DIR}/hei.ttf --sheet ${BRAMBLEHOLT_CONTACT_SHEET}
  DEPENDS assetgen ${BRAMBLEHOLT_GAME_DIR}/hei.ttf
  COMMENT "Drawing the contact sheet of all images")

set(BRAMBLEHOLT_FONT_SOURCE /usr/share/fonts/truetype/wqy/wqy-microhei.ttc
    CACHE FILEPATH "WenQuanYi Micro Hei, from Debian's fonts-wqy-microhei")
if(NOT EXISTS ${BRAMBLEHOLT_FONT_SOURCE})
  message(FATAL_ERROR "Font ${BRAMBLEHOLT_FONT_SOURCE} not found: install fonts-wqy-microhei")
endif()
# FreeType reads the collection's first face, Micro Hei, which holds Latin and
# every Chinese caption of the game.
add_custom_command(
  OUTPUT ${BRAMBLEHOLT_GAME_DIR}/hei.ttf
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${BRAMBLEHOLT_FONT_SOURCE} ${BRAMBLEHOLT_GAME_DIR}/hei.ttf
  DEPENDS ${BRAMBLEHOLT_FONT_SOURCE}
  COMMENT "Building hei.ttf")

add_custom_target(game_data ALL
  DEPENDS ${_map_outputs} ${_asset_outputs} ${BRAMBLEHOLT_GAME_DIR}/hei.ttf ${BRAMBLEHOLT_CONTACT_SHEET})
