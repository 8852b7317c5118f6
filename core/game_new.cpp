// A new world for the game object: at window creation and on the return from the ending.
#include "core/game.h"
#include "core/new_world.h"

void Game::NewGame(HWND window) {
  NewWorldLists lists{characters_, hero_templates_, nations_, cities_,         name_pool_,  skills_,
                      tactics_,    policies_,       field_parties_, divisions_, inhabitants_, trade_goods_};
  ClearWorldLists(lists);
  title_screen_.NewGame();
  ending_screen_.NewGame();
  thinking_screen_.NewGame();
  field_screen_.NewGame();
  SetUpMusic(window);
  FillNewWorld(lists, world_seeder_);
}
