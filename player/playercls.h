// The player character: a plain record that every part of the game reads and
// writes, with its physics step, its actions and its drawing.
//
// Numbers: the fields are single precision. Every assignment is worked out in
// double precision and rounded to single precision when stored, and every
// comparison is between single-precision values. Standing on the floor is exact
// equality of the floor level with Y.
#pragma once

#include <cstdint>

#include "core/boolean.h"
#include "platform/surface.h"

struct World;

class playercls {
 public:
  std::int16_t Width = 0;   // of the drawn frame: 20
  std::int16_t Height = 0;  // 47
  float X = 0;              // the player's box's top-left corner
  float Y = 0;
  platform::HDC CurrentForm = 0;  // where it draws, and what the level queries are asked about
  std::int16_t Picstate = 0;      // frame: 0 standing left, 2 standing right, 3 and 5 crouching
  Boolean Visible = False;
  Boolean Crouched = False;
  std::int16_t Jumps = 0;  // Jump calls since the player last stood on the floor
  float XVel = 0;          // pixels per step, + is right
  float YVel = 0;          // pixels per step, + is UP
  float XVelMax = 0;       // the speed limit in force: Walkspeed or Runspeed
  float Crawlspeed = 0;
  float Walkspeed = 0;
  float Runspeed = 0;
  float Acceleration = 0;
  World* world = nullptr;  // the game it is in: what its steps and actions reach

  void Initialise(std::int16_t Wide, std::int16_t High, float Crawl, float Walk, float Run, float Accel,
                  std::int16_t Pic, platform::HDC Currform, Boolean Vis);
  void Draw();
  void Movement();
  void TurnLeft();
  void TurnRight();
  void Run(Boolean TurningOn);
  void Jump();
  void Crouch();
  void Action();
  void Die();

 private:
  bool StandsOnFloor() const;
  void PushOutOfRightWalls();
  void PushOutOfLeftWalls();
};
