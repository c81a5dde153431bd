// The least a calculation of an order file can cost as a process: read the file, calculate,
// print the report. No Qt, no pictures, no files written. The yardstick for stowbel-cli calc.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "calc/run.h"
#include "order/errors.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: stowbel_minimal_calc ORDER_FILE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    stowbel::OrderModel model;
    stowbel::RunResult result;
    stowbel::PlacementObserver nobody;
    try {
        stowbel::RunCalculation(lines, model, stowbel::RunOptions{}, nobody, result);
    } catch (const stowbel::OrderError& e) {
        std::cerr << argv[1] << ": " << e.Line() << ": " << e.Message() << "\n";
        return 1;
    }
    for (const std::string& line : result.report) {
        std::cout << line << "\n";
    }
    return 0;
}
