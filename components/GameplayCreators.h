#pragma once

class Factory;

// Registers the creators of the gameplay components, in the game logic's order.
void RegisterGameplayCreators(Factory& factory);
