#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The names and codes of the demo campaign, plausible for the game.
namespace korven::fixtures {

struct DemoAircraft {
    QString name;
    QString shortName;
    uint8_t nation;     // 0 IJN, 1 IJA, 2 US, 3 UK, 4 USSR, 5 NL
    uint8_t model;      // 0..7
    uint8_t basing;     // 0..4
    uint8_t operation;  // 0 fighter
};

struct DemoShipClass {
    QString name;
    uint8_t nation;    // 0 Japan .. 5 Allied
    uint8_t shipType;  // 0..18
};

const std::vector<DemoAircraft>& demoAircraft();      // 170 types, type 0 first
const std::vector<DemoShipClass>& demoShipClasses();  // the filled classes, from class 0
const QStringList& demoBaseNames();                   // more than 256 names

}  // namespace korven::fixtures
