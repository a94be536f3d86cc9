#pragma once

// What a long board operation (motor cycle, coins, change, cashless) came to.
// When the board's report of the end is lost for good, nobody can tell what
// the board did: the operation then counts as done in full and confirmed is
// false. Goods or money may have left the machine and must not be handed out
// a second time; the caller tells an operator.
template <typename T>
struct BoardResult
{
    T value{};
    bool confirmed = true;
};
