#include "player/playercls.h"

void playercls::Initialise(std::int16_t Wide, std::int16_t High, float Crawl, float Walk, float Run, float Accel,
                           std::int16_t Pic, platform::HDC Currform, Boolean Vis) {
  Width = Wide;
  Height = High;
  Crawlspeed = Crawl;
  Walkspeed = Walk;
  Runspeed = Run;
  Acceleration = Accel;
  Picstate = Pic;
  CurrentForm = Currform;
  XVelMax = Walkspeed;
  Visible = Vis;
}
