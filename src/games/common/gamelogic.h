#pragma once

// What a game window asks of the game object it wires, whichever game it is: the game's own
// rules stay in the game's class.
class GameLogic {
public:
    virtual ~GameLogic() = default;

    // The timers of the game stop: nothing of it runs on its own any more.
    virtual void StopTimers() = 0;
    // The game was played to its end.
    virtual bool IsComplete() const = 0;
    // The game is being replaced: it leaves the window and no longer reaches it. The object
    // itself may still be inside one of its handlers and is destroyed later.
    virtual void Retire() = 0;
};
