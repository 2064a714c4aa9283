#pragma once

#include "model/RecordFields.h"

#include <QJsonValue>
#include <QString>

#include <array>
#include <type_traits>
#include <vector>

// The model's values down to their leaves (integers and texts), in file order, without a tree or
// a path per leaf: for passes over a whole save that look at few leaves closely.
namespace korven::fields {

template <typename T>
struct IsArray : std::false_type {};
template <typename T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};

template <typename T>
constexpr bool kIsRecord = std::is_same_v<T, AircraftTypeRecord> || std::is_same_v<T, ShipClassRecord> ||
                           std::is_same_v<T, BaseRecord> || std::is_same_v<T, ShipRecord> ||
                           std::is_same_v<T, CarrierAirRecord> || std::is_same_v<T, ScienceWeaponEntry>;

// A leaf's value as the model tree and `set` show it: a number, or the text before its first NUL.
template <typename T>
QJsonValue valueOf(const T& leaf) {
    if constexpr (std::is_integral_v<T>) {
        return static_cast<qint64>(leaf);
    } else {
        return leaf.text();
    }
}

// The member names and indices from the value walked down to the current leaf.
class Trail {
public:
    struct Step {
        const char* member = nullptr;  // null: an index
        int index = 0;
    };

    void push(Step step) { m_steps.push_back(step); }
    void pop() { m_steps.pop_back(); }
    const std::vector<Step>& steps() const { return m_steps; }

    // ".Stockpile[3][1]", as the path of the value walked continues.
    QString path() const {
        QString text;
        for (const Step& step : m_steps) {
            text += step.member != nullptr
                        ? QLatin1Char('.') + QLatin1String(step.member)
                        : QLatin1Char('[') + QString::number(step.index) + QLatin1Char(']');
        }
        return text;
    }

private:
    std::vector<Step> m_steps;
};

// A walk that need not know where it is.
struct NoTrail {
    void push(Trail::Step) {}
    void pop() {}
};

// Calls visit(leaf) for every integer and text of `value`, in file order; `trail` (a Trail or
// NoTrail) follows the walk down to each leaf.
template <typename T, typename Visit, typename Follow>
void forEachLeaf(const T& value, Visit& visit, Follow& trail) {
    if constexpr (IsArray<T>::value) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            trail.push({nullptr, static_cast<int>(i)});
            forEachLeaf(value[i], visit, trail);
            trail.pop();
        }
    } else if constexpr (kIsRecord<T>) {
        forEach<T>(
            [&](const char* member, const auto& field) {
                trail.push({member, 0});
                forEachLeaf(field, visit, trail);
                trail.pop();
            },
            value);
    } else {
        visit(value);
    }
}

}  // namespace korven::fields
