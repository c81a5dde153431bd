# The plan rules and the order generator: for the calc tests, the sweep tool and the run fuzzer,
# whichever is configured first defines them.
if(NOT TARGET stowbel_plan_rules)
    add_library(stowbel_plan_rules STATIC ${CMAKE_CURRENT_LIST_DIR}/plan_rules.cpp
                ${CMAKE_CURRENT_LIST_DIR}/order_generator.cpp)
    target_include_directories(stowbel_plan_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(stowbel_plan_rules PUBLIC stowbel_calc PRIVATE stowbel_warnings)
endif()
