#pragma once

#include <memory>

class DataReader;
class Message;

// Reads one level command ("Quit", "LoadLevel", "SwitchLevel") and its block;
// null for any other command word, of which only the word is consumed.
std::unique_ptr<Message> ParseLevelCommand(DataReader& in);
