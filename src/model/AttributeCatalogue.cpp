#include "model/AttributeCatalogue.h"

#include <array>

namespace vnt {

namespace {

// clang-format off
constexpr std::array<CatalogueNode, AttributeNodeCount> Catalogue{{
    {u"aidata", u"aidata", u""},
    {u"AI", u"AI", u"aidata"},
    {u"puck_control", u"Puck Control", u"AI"},
    {u"events", u"Events", u"puck_control"},
    {u"manual_deke", u"Manual Deke", u"events"},
    {u"tap_deke", u"Tap Deke", u"events"},
    {u"spin_deke", u"Spin Deke", u"events"},
    {u"max_puck_control", u"Max Puck Control", u"puck_control"},
    {u"coaches", u"Coaches", u"AI"},
    {u"momentum", u"Momentum", u"coaches"},
    {u"level_mod", u"Level Mod", u"momentum"},
    {u"energy", u"Energy", u"coaches"},
    {u"human_burst", u"Human Burst", u"energy"},
    {u"noLineChange", u"No Line Change", u"human_burst"},
    {u"noLineChange_inc_rate", u"Inc Rate", u"noLineChange"},
    {u"noLineChange_dec_rate", u"Dec Rate", u"noLineChange"},
    {u"withLineChange", u"With Line Change", u"human_burst"},
    {u"withLineChange_inc_rate", u"Inc Rate", u"withLineChange"},
    {u"withLineChange_dec_rate", u"Dec Rate", u"withLineChange"},
    {u"faceoffs", u"Faceoffs", u"AI"},
    {u"faceoffs_cpu_chances", u"CPU Chances", u"faceoffs"},
    {u"goalies", u"Goalies", u"AI"},
    {u"momentum_movement", u"Momentum Movement", u"goalies"},
    {u"butterfly", u"Butterfly", u"momentum_movement"},
    {u"butterfly_max_speed", u"Max Speed", u"butterfly"},
    {u"set", u"Set", u"momentum_movement"},
    {u"set_max_speed", u"Max Speed", u"set"},
    {u"save_skill_user", u"Save Skill User", u"goalies"},
    {u"save_skill_cpu", u"Save Skill CPU", u"goalies"},
    {u"max_speed_user", u"Max Speed User", u"goalies"},
    {u"max_speed_cpu", u"Max Speed CPU", u"goalies"},
    {u"pass_intercept", u"Pass Intercept", u"AI"},
    {u"pass_intercept_cpu", u"CPU", u"pass_intercept"},
    {u"pass_intercept_user", u"User", u"pass_intercept"},
    {u"skating", u"Skating", u"AI"},
    {u"burst_percent", u"Burst Percent", u"skating"},
    {u"burst_percent_cpu", u"Burst Percent CPU", u"burst_percent"},
    {u"burst_percent_user", u"Burst Percent user", u"burst_percent"},
    {u"defense", u"Defense", u"AI"},
    {u"defense_checking", u"Checking", u"defense"},
    {u"getcarrierdist", u"Get Carrier Dist", u"defense_checking"},
    {u"getcarrierdist_cpu", u"CPU", u"getcarrierdist"},
    {u"getcarrierdist_user", u"User", u"getcarrierdist"},
    {u"max_gap_dist", u"Max Gap Dist", u"defense_checking"},
    {u"max_gap_dist_cpu", u"CPU", u"max_gap_dist"},
    {u"max_gap_dist_user", u"User", u"max_gap_dist"},
    {u"base_gap_dist", u"Base Gap Dist", u"defense_checking"},
    {u"base_gap_dist_cpu", u"CPU", u"base_gap_dist"},
    {u"base_gap_dist_user", u"User", u"base_gap_dist"},
    {u"zero_gap_dist", u"Zero Gap Dist", u"defense_checking"},
    {u"zero_gap_dist_cpu", u"CPU", u"zero_gap_dist"},
    {u"zero_gap_dist_user", u"User", u"zero_gap_dist"},
    {u"strat_defense", u"Strat Defense", u"AI"},
    {u"should_tie_up", u"Should Tie Up", u"strat_defense"},
    {u"tie_up_radius", u"Tie Up Radius", u"should_tie_up"},
    {u"stepup", u"Step Up", u"strat_defense"},
    {u"time_limit", u"Time Limit", u"stepup"},
    {u"time_limit_player", u"Player", u"time_limit"},
    {u"stepup_dist", u"Step-Up Dist", u"stepup"},
    {u"should_poke", u"Should Poke", u"strat_defense"},
    {u"poke_radius", u"Poke Radius", u"should_poke"},
    {u"shooting", u"Shooting", u"AI"},
    {u"accuracy", u"Accuracy", u"shooting"},
    {u"hit_post", u"Hit Post", u"accuracy"},
    {u"on_goal", u"On Goal", u"accuracy"},
    {u"fan_shot_multiplier", u"Fan Shot Multiplier", u"shooting"},
    {u"choreo", u"Choreo", u"AI"},
    {u"choreo_checking", u"Checking", u"choreo"},
    {u"winner_loser", u"Winner Loser", u"choreo_checking"},
    {u"user_adjust", u"User Adjust", u"winner_loser"},
    {u"cpu_adjust", u"CPU Adjust", u"winner_loser"},
    {u"choreo_skating", u"Skating", u"choreo"},
    {u"cpu_team", u"CPU Team", u"choreo_skating"},
    {u"baseSpeedMod", u"Base Speed Mod", u"cpu_team"},
    {u"checking", u"Checking", u"AI"},
    {u"intentToHit", u"Intent To Hit", u"checking"},
    {u"resultCalc", u"Result Calc", u"intentToHit"},
    {u"weights", u"Weights", u"resultCalc"},
    {u"humanity_weight", u"Humanity Weight", u"weights"},
    {u"PCAI", u"PCAI", u"aidata"},
    {u"pcai_shot", u"Shot", u"PCAI"},
    {u"pcai_shot_delay", u"Delay", u"pcai_shot"},
    {u"pcai_pass", u"Pass", u"PCAI"},
    {u"pcai_pass_delay", u"Delay", u"pcai_pass"},
    {u"pcai_one_timer", u"One Timer", u"PCAI"},
    {u"one_timer_frequency_pct", u"Frequency PCT", u"pcai_one_timer"},
    {u"pcai_deke", u"Deke", u"PCAI"},
    {u"pcai_deke_chance", u"Chance", u"pcai_deke"},
    {u"PENALTY", u"PENALTY", u"aidata"},
    {u"penalty_global_frequency", u"Global Frequency", u"PENALTY"},
    {u"penalty_global_frequency_CPU", u"CPU", u"penalty_global_frequency"},
    {u"penalty_global_frequency_User", u"User", u"penalty_global_frequency"},
}};
// clang-format on

} // namespace

std::span<const CatalogueNode> AttributeCatalogue()
{
    return Catalogue;
}

bool IsSectionCaption(const QString& caption)
{
    return caption == QLatin1String("aidata") || caption == QLatin1String("AI") || caption == QLatin1String("PCAI")
           || caption == QLatin1String("PENALTY");
}

} // namespace vnt
